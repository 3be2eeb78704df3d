#pragma once
// The bold, narrow face of the texts painted on the table, so that stacks
// and ranges fit the seat areas.

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>

inline QFont tableFont(const QFont& base, int pointSize) {
    QFont font = base;
    font.setFamilies({QStringLiteral("DejaVu Sans Condensed"), base.family()});
    font.setStretch(QFont::Condensed);
    font.setBold(true);
    font.setPointSize(pointSize);
    return font;
}

// The largest size from pointSize down to minimum at which text fits the
// width; below that the text is elided in the middle.
inline QFont fittingFont(const QFont& base, int pointSize, int minimum, const QString& text, int width) {
    QFont font = tableFont(base, pointSize);
    for (int size = pointSize; size > minimum && QFontMetrics(font).horizontalAdvance(text) > width; --size)
        font.setPointSize(size - 1);
    return font;
}
