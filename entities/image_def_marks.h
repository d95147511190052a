#pragma once

class FcDictionary;

// Sets the write mark of every raster image definition in the dictionary
// and the dictionaries nested in it; the images of a block written out as
// a drawing of its own then clear the marks of the definitions they use.
// A dictionary reached twice (a file may make the tree loop) is walked once.
void MarkImageDefs(FcDictionary& dictionary);
