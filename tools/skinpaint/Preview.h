#pragma once
// Contact sheets for judging the artwork by eye: the raw pictures enlarged, and each skin put
// together the way the reader assembles its title bar, tool bar, frame, menus and grid.

#include <QImage>
#include <QString>

namespace skinpaint {

// Writes PREFIX-pictures.png, PREFIX-windows.png and PREFIX-icons.png.
void WritePreviews(const QString& prefix, const QImage skins[3], const QImage icons[4]);

} // namespace skinpaint
