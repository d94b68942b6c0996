#pragma once

// Hands the PNG, JPEG and GIF readers to the own-image loader for the extensions png, jpg, jpeg
// and gif (any letter case). Call once at start-up; calling again changes nothing.
void registerPictureDecoders();
