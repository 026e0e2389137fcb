// The page has no files of the user's to read: a lesson loaded into it names its media.
#include "core/material_file.h"
#include "scene/translate.h"

Parsed<Medium> file_medium(const std::string& path, int) {
    return {std::nullopt,
            fill(tr("%s: the page reads no files; name a material or give numbers"), {path})};
}
