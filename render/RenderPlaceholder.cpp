// Keeps the library non-empty until the renderer lands.
