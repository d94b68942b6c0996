#pragma once

#include "Failure.h"

// Why a decoder gives up on a picture of this size, because ImageLimits refuses it or no
// memory could be found for it: empty, or too large.
Failure sizeRefusal(const QString& path, qint64 width, qint64 height);
