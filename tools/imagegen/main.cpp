// torvel-imagegen: paints every picture the program loads from its working
// directory into DIRECTORY (images/ and the About picture). With
// --contact-sheet it instead reads those files back and lays them out on one
// PNG for a look.

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>

#include "cards.h"
#include "icons.h"
#include "scenery.h"

using namespace torvel::imagegen;

namespace {

constexpr const char* kUsage =
    "usage: torvel-imagegen DIRECTORY\n"
    "       torvel-imagegen --contact-sheet DIRECTORY OUTPUT.png\n"
    "       torvel-imagegen --app-icons DIRECTORY\n";
constexpr int kJpegQuality = 92;

// Written through QSaveFile so that a failed run never leaves a torn picture
// that the next build would take as current.
bool save(const QImage& image, const QString& path, const char* format, int quality = -1) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "torvel-imagegen: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return false;
    }
    QImageWriter writer(&file, format);
    if (quality >= 0) writer.setQuality(quality);
    // BMP and JPEG keep no alpha; flatten first so that nothing depends on
    // how a writer treats it.
    const QImage pixels = image.hasAlphaChannel() && qstrcmp(format, "png") != 0
                              ? image.convertToFormat(QImage::Format_RGB32)
                              : image;
    if (!writer.write(pixels) || !file.commit()) {
        std::fprintf(stderr, "torvel-imagegen: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

int paintAll(const QString& directory) {
    const QDir root(directory);
    if (!root.mkpath(QStringLiteral("images"))) {
        std::fprintf(stderr, "torvel-imagegen: cannot create %s/images\n", qPrintable(directory));
        return 1;
    }
    const QString images = root.filePath(QStringLiteral("images"));
    bool ok = true;
    for (int card = 0; card <= kCardBack; ++card)
        ok &= save(paintCard(card), QStringLiteral("%1/%2.bmp").arg(images).arg(card), "bmp");
    ok &= save(paintDealerButton(), images + QStringLiteral("/button.bmp"), "bmp");
    ok &= save(paintTable(), images + QStringLiteral("/table.jpg"), "jpeg", kJpegQuality);
    for (const QString& name : iconNames())
        ok &= save(paintIcon(name), QStringLiteral("%1/%2.png").arg(images, name), "png");
    ok &= save(paintAbout(QStringLiteral(TORVEL_VERSION)), root.filePath(QStringLiteral("zivuzadir.jpg")), "jpeg",
               kJpegQuality);
    return ok ? 0 : 1;
}

// The program's icon for the desktop menu, in the hicolor theme's layout.
int paintAppIcons(const QString& directory) {
    bool ok = true;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(directory).arg(size);
        if (!QDir().mkpath(folder)) {
            std::fprintf(stderr, "torvel-imagegen: cannot create %s\n", qPrintable(folder));
            return 1;
        }
        ok &= save(paintIcon(QStringLiteral("torvel"), size), folder + QStringLiteral("/torvel.png"), "png");
    }
    return ok ? 0 : 1;
}

QImage load(const QString& path) {
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        std::fprintf(stderr, "torvel-imagegen: cannot read %s: %s\n", qPrintable(path),
                     qPrintable(reader.errorString()));
    return image;
}

// Cards at both sizes the table uses (scaled smoothly, as a scaled label
// does), icons on a light and a dark ground, then the button, the About
// picture and the table.
int contactSheet(const QString& directory, const QString& output) {
    const QString images = QDir(directory).filePath(QStringLiteral("images"));
    const int gap = 4;
    const int columns = 14;
    const QSize bigCard(kCardWidth, kCardHeight), smallCard(46, 62);
    const int magnifiedCount = 5;
    const int width = std::max({columns * (bigCard.width() + gap) + gap, kTableWidth + 2 * gap,
                                magnifiedCount * (3 * kCardWidth + gap) + gap});
    const QStringList icons = iconNames();
    const int iconCell = 3 * kIconSize + 3 * gap;
    const int iconsPerRow = (width - gap) / iconCell;
    const int iconRows = (static_cast<int>(icons.size()) + iconsPerRow - 1) / iconsPerRow;
    const int height = 4 * (bigCard.height() + gap) + 4 * (smallCard.height() + gap) +
                       2 * iconRows * (2 * kIconSize + gap) +
                       3 * kCardHeight + kAboutHeight + kTableHeight + 10 * gap;
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(0x80, 0x80, 0x80));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    bool ok = true;
    int y = gap;
    for (const QSize size : {bigCard, smallCard}) {
        for (int suit = 0; suit < 4; ++suit) {
            for (int column = 0; column < columns; ++column) {
                const int card = column < 13 ? column + 13 * suit : (suit == 0 ? kCardBack : -1);
                if (card < 0) continue;
                const QImage image = load(QStringLiteral("%1/%2.bmp").arg(images).arg(card));
                ok &= !image.isNull();
                painter.drawImage(QRect(QPoint(gap + column * (size.width() + gap), y), size), image);
            }
            y += size.height() + gap;
        }
    }

    // Icons at their own size and doubled, on a light and a dark ground.
    const QColor grounds[2] = {QColor(0xf0, 0xf0, 0xf0), QColor(0x30, 0x30, 0x30)};
    for (const QColor& ground : grounds) {
        painter.fillRect(QRect(0, y - gap / 2, width, iconRows * (2 * kIconSize + gap)), ground);
        for (int i = 0; i < icons.size(); ++i) {
            const QImage image = load(QStringLiteral("%1/%2.png").arg(images, icons[i]));
            ok &= !image.isNull();
            const QPoint at(gap + (i % iconsPerRow) * iconCell, y + (i / iconsPerRow) * (2 * kIconSize + gap));
            painter.drawImage(at, image);
            painter.drawImage(QRect(at + QPoint(kIconSize + gap, 0), QSize(2 * kIconSize, 2 * kIconSize)), image);
        }
        y += iconRows * (2 * kIconSize + gap);
    }
    y += gap;

    // A few cards magnified pixel for pixel, to judge the edges.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const int magnified[magnifiedCount] = {12, 8 + 13, 10 + 26, 11 + 39, kCardBack};
    int x = gap;
    for (const int card : magnified) {
        const QImage image = load(QStringLiteral("%1/%2.bmp").arg(images).arg(card));
        painter.drawImage(QRect(x, y, 3 * kCardWidth, 3 * kCardHeight), image);
        x += 3 * kCardWidth + gap;
    }
    y += 3 * kCardHeight + gap;

    const QImage button = load(images + QStringLiteral("/button.bmp"));
    const QImage about = load(QDir(directory).filePath(QStringLiteral("zivuzadir.jpg")));
    const QImage table = load(images + QStringLiteral("/table.jpg"));
    ok &= !button.isNull() && !about.isNull() && !table.isNull();
    painter.drawImage(QPoint(gap, y), button);
    painter.drawImage(QRect(gap, y + kButtonSize + gap, 4 * kButtonSize, 4 * kButtonSize), button);
    painter.drawImage(QPoint(4 * kButtonSize + 3 * gap, y), about);
    y += kAboutHeight + gap;
    painter.drawImage(QPoint(gap, y), table);
    painter.end();

    if (!sheet.save(output, "png")) {
        std::fprintf(stderr, "torvel-imagegen: cannot write %s\n", qPrintable(output));
        return 1;
    }
    return ok ? 0 : 1;
}

// Build machines and CI have no login session; Qt's note about it would only
// clutter every build log.
void quietAboutSession(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietAboutSession);
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);

    // Qt brings no fonts of its own: without one every letter would silently
    // come out blank.
    if (QFontDatabase::families().isEmpty()) {
        std::fputs("torvel-imagegen: no font installed (fonts-dejavu-core)\n", stderr);
        return 1;
    }
    if (arguments.size() == 1 && !arguments[0].startsWith(QLatin1Char('-'))) return paintAll(arguments[0]);
    if (arguments.size() == 2 && arguments[0] == QLatin1String("--app-icons")) return paintAppIcons(arguments[1]);
    if (arguments.size() == 3 && arguments[0] == QLatin1String("--contact-sheet"))
        return contactSheet(arguments[1], arguments[2]);
    std::fputs(kUsage, stderr);
    return 2;
}
