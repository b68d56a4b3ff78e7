// The image source tests' GIF writer, built into this program too: the model's tests describe
// their animations the same way, and the writer owes nothing to the decoder under test.
#include "unit/imageio/GifFixtures.cpp"
