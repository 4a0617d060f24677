#pragma once

#include <QString>

namespace quorvel {

// Drives the program through its scenes and writes one PNG per scene; returns how many.
int renderAllScenes(const QString &outDir);

} // namespace quorvel
