// The demo's levels as the asset maker writes them: level1.xml and
// level2.xml, XML documents the build stores in assets.dpf with
// `veltrano-dpf add --xml` and the game reads with Veltrano.XMLOpen.
#ifndef HELLO_LEVEL_FILES_H
#define HELLO_LEVEL_FILES_H

#include <filesystem>

// False (with a message) when a document cannot be written.
bool SaveLevels(const std::filesystem::path& folder);

#endif
