#!/usr/bin/env bash
# Prints the benchmark project: the default project with CAPTIONS captions ("Button N"),
# option Both and an installed font, writing into OUTPUT_DIR. BACKGROUND, when given, is a
# built-in background number for all three states (1-based, as the wizard lists them).
# FURTHER=1 also turns on smooth captions, double-size images and keyboard rollovers;
# LOOKS=1 rounds the corners (radius 6) and gives each state a gradient; COMPACT_PNG=1 turns on
# compact PNG files.
# Usage: bench/make_bench_project.sh CAPTIONS OUTPUT_DIR [BACKGROUND] >project.blp
set -euo pipefail
captions=$1
out=$2
background=${3:-}
{
  echo "ButtonLayoutFileVersion=400"
  for n in $(seq "$captions"); do echo "LabelText=Button $n"; done
  echo "rgJavascriptOptions=2"
  echo "fHeight=32"
  echo "fWidth=120"
  for s in 1:Normal:65535:0 2:Selected:16776960:0 3:Pressed:65280:1; do
    IFS=: read -r i name color press <<<"$s"
    if [ -n "$background" ]; then
      echo "rg${name}ButtonBackground=1"
      echo "cb${name}ButtonPredefinedBitmaps=$((background - 1))"
    else
      echo "rg${name}ButtonBackground=0"
      echo "cb${name}ButtonPredefinedBitmaps=-1"
    fi
    echo "lbl${name}ButtonBMPfilename="
    echo "image$i.canvas.brush.color=$color"
    [ "$name" = Normal ] && echo "cbNormalButtonVariableWidth=F"
    echo "rg${name}ButtonBorders=1"
    echo "rg${name}ButtonPress=$press"
    echo "image$i.canvas.font.name=DejaVu Sans"
    echo "image$i.canvas.font.color=-16777208"
    echo "image$i.canvas.font.size=8"
    for style in Bold Italic Underline StrikeOut; do echo "image$i.canvas.font.style.fs$style=F"; done
    echo "rg${name}ButtonTextJustification=1"
    echo "rg${name}ButtonTextOrientation=1"
    echo "cb${name}ButtonPickFontDropShadow=F"
    echo "lbl${name}ButtonPickFontDropShadowColor.color=16777215"
  done
  echo "lblOutputDirectoryFileName=$out"
  echo "edOutputDirectoryFileNamePrefix=BTN"
  echo "cbOutputDirectoryUseLabelsAsNames=F"
  echo "rgHTMLDirection=0"
  echo "rgHTMLMakeTable=0"
  echo "rgImageFileFormat=0"
  if [ "${FURTHER:-0}" = 1 ]; then
    echo "SmoothCaptions=T"
    echo "HiDpiImages=T"
    echo "KeyboardRollovers=T"
  fi
  if [ "${LOOKS:-0}" = 1 ]; then
    echo "CornerRadius=6"
    echo "NormalGradient=#FF8000"
    echo "SelectedGradient=#0000A0"
    echo "PressedGradient=#004000"
  fi
  if [ "${COMPACT_PNG:-0}" = 1 ]; then
    echo "CompactPng=T"
  fi
} | sed 's/$/\r/'
