#pragma once
// The 32 x 32 menu and list icons, on a transparent ground.

#include <QImage>
#include <QString>
#include <QStringList>

namespace torvel::imagegen {

inline constexpr int kIconSize = 32;

// File stems of the icons, e.g. "calc" for images/calc.png.
QStringList iconNames();
// An empty image for a name not in iconNames().
QImage paintIcon(const QString& name, int size = kIconSize);

}  // namespace torvel::imagegen
