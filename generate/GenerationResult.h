#pragma once

#include "Failure.h"

#include <QList>
#include <QString>

// One image that a run could not render or write, by its path stem (no extension).
struct DroppedImage
{
    QString pathStem;
    Failure reason;
};

struct GenerationResult
{
    // The run goes on without a dropped image. Only the first ones are listed, so that a run
    // that drops every image of many captions still holds a bounded result.
    static constexpr int maxListedDrops = 100;
    QList<DroppedImage> droppedImages;
    int droppedImageCount = 0;
    Failure fatalError; // a refused prefix or name, or a failed stylesheet, page or project copy
    // Each image as .jpg, .png and .gif, each sprite in the page's format, both also as .webp
    // when asked; twins count too.
    int imagesWritten = 0;
    // Image and sprite files, those of dropped images too, stylesheet, page and project copy.
    int filesWritten = 0;
    bool pageWritten = false;
    QString pagePath;
    QString projectCopyPath;
    int imagesPlanned = 0;
    // Stopped on request: the images written so far are whole; no page or copy was written.
    bool stopped = false;
    // Ended at the first image the disk had no room for: the images after it are neither made
    // nor reported, no page or copy was written, and the files already there are whole.
    bool endedOnFullDisk = false;

    bool everythingWritten() const { return droppedImageCount == 0 && !fatalError && !stopped; }
};
