#pragma once
// The large pictures: the poker table behind the seats and the About picture.

#include <QImage>
#include <QString>

namespace torvel::imagegen {

inline constexpr int kTableWidth = 800;
inline constexpr int kTableHeight = 490;
inline constexpr int kAboutWidth = 300;
inline constexpr int kAboutHeight = 240;

QImage paintTable();
QImage paintAbout(const QString& version);

}  // namespace torvel::imagegen
