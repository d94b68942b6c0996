# Sourced by the scripts that run sanitizer builds: every report ends the process with an
# error, stacks are symbolised, and only the leak suppressions in tools/lsan.supp apply.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# No single allocation may pass 512 MB: the largest picture we accept needs 256 MB, so more
# means a size taken from a file unchecked.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:max_allocation_size_mb=512}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tools/lsan.supp:print_suppressions=0}
for symbolizer in llvm-symbolizer llvm-symbolizer-14; do
  if command -v "$symbolizer" >/dev/null; then
    export ASAN_SYMBOLIZER_PATH=$(command -v "$symbolizer")
    break
  fi
done
