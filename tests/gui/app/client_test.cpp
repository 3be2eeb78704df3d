// The client directories and the update offer (its server on 127.0.0.1).
#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

#include "deskfixture.h"
#include "gui/app/clientdirectorydialog.h"
#include "gui/app/updateprompt.h"
#include "loopbackserver.h"

using torvel::testing::LoopbackServer;

namespace {

// Stands in for the browser: remembers the pages it was asked to open.
class BrowserStandIn : public QObject {
    Q_OBJECT
public:
    BrowserStandIn() { QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open"); }
    ~BrowserStandIn() override { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

// A client directory with its table picture in one flat colour.
void paintPicture(const QString& file, QSize size, QColor colour) {
    QDir().mkpath(QFileInfo(file).path());
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    QVERIFY(picture.save(file));
}

bool near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) <= 10 && std::abs(a.green() - b.green()) <= 10 &&
           std::abs(a.blue() - b.blue()) <= 10;
}

const QColor kPartyBlue(30, 90, 200);
const QColor kTypedRed(200, 60, 40);
const QColor kStarsYellow(240, 200, 0);

// A spot of the table that no seat, label or text covers.
const QPoint kOpenFelt(400, 300);

}  // namespace

class ClientTest : public QObject, DeskFixture {
    Q_OBJECT

    QString partyDirectory;  // picked with "Pick"
    QString typedDirectory;  // typed into the edit

    void setSetting(const char* key, const QString& value) {
        torvel::IniFile settings(torvel::kSettingsFileName);
        QVERIFY(settings.writeString(torvel::kSettingsSection, key, value.toStdString()));
    }
    QColor tableColour() const { return table()->grab().toImage().pixelColor(kOpenFelt); }

    // "PartyPoker" of the main menu: picks pick (cancels when empty), types typed when given, saves.
    void runDirectoryDialog(const QString& pick, const QString& typed, QString* editAfterPick = nullptr) {
        bool filePicked = false;
        whenOpen<ClientDirectoryDialog>([&](ClientDirectoryDialog* dialog) {
            whenOpen<QFileDialog>([&](QFileDialog* files) {
                if (pick.isEmpty())
                    return files->reject();
                files->setDirectory(pick);
                static_cast<QDialog*>(files)->accept();  // as "Choose" does
                filePicked = true;
            });
            buttonLabelled(dialog, "Pick")->click();
            if (editAfterPick)
                *editAfterPick = dialog->directoryEdit()->text();
            if (!typed.isEmpty())
                dialog->directoryEdit()->setText(typed);
            buttonLabelled(dialog, "Save")->click();
        });
        menuAction(*window, QStringLiteral("Main"), QStringLiteral("PartyPoker"))->trigger();
        QCOMPARE(filePicked, !pick.isEmpty());
    }

private slots:
    void initTestCase() { torvel::testing::clearProxyEnvironment(); }

    void init() {
        scratch = std::make_unique<ScratchWorkingDirectory>();
        partyDirectory = scratch->filePath(QStringLiteral("clients/Party Poker"));
        typedDirectory = scratch->filePath(QStringLiteral("clients/typed"));
        paintPicture(partyDirectory + QStringLiteral("/Images/table.jpg"), {800, 490}, kPartyBlue);
        // Larger than the table: cut to its size.
        paintPicture(typedDirectory + QStringLiteral("/Images/table.jpg"), {1024, 768}, kTypedRed);
    }
    void cleanup() { closeDesk(); }

    void aPickedDirectoryLoadsTheLookAndTheTypedOneIsKept() {
        startWindow();
        QVERIFY(!table()->partyPokerPicture());
        QString editAfterPick;
        runDirectoryDialog(partyDirectory, typedDirectory, &editAfterPick);
        QCOMPARE(editAfterPick, partyDirectory);
        // Stored as typed, while the picture comes from the directory picked.
        QCOMPARE(settingsValue("ppdir"), typedDirectory);
        QCOMPARE(window->desk().partyPokerDirectory(), partyDirectory);
        QCOMPARE(table()->partyPokerPicture()->size(), QSize(800, 490));

        // The next start finds the typed directory, its picture cut to the table.
        window.reset();
        startWindow();
        QCOMPARE(window->desk().partyPokerDirectory(), typedDirectory);
        QCOMPARE(table()->partyPokerPicture()->size(), QSize(800, 490));
        menuAction(*window, QStringLiteral("Layout"), QStringLiteral("PartyPoker"))->trigger();
        QVERIFY2(near(tableColour(), kTypedRed), qPrintable(tableColour().name()));
    }

    void aCancelledPickChangesNothing() {
        setSetting("ppdir", partyDirectory);
        startWindow();
        QCOMPARE(window->desk().partyPokerDirectory(), partyDirectory);
        QString editAfterPick;
        runDirectoryDialog(QString(), QString(), &editAfterPick);
        QCOMPARE(editAfterPick + window->desk().partyPokerDirectory(), partyDirectory + partyDirectory);
        QCOMPARE(settingsValue("ppdir"), partyDirectory);
        QVERIFY(table()->partyPokerPicture());
    }

    void theLayoutMenuSwitchesTheLooks() {
        const QString starsDirectory = scratch->filePath(QStringLiteral("clients/stars"));
        paintPicture(starsDirectory + QStringLiteral("/Gx/fg.bmp"), {800, 490}, kStarsYellow);
        setSetting("ppdir", partyDirectory);
        setSetting("starsdir", starsDirectory);
        startWindow();
        const QColor own = tableColour();

        const struct {
            const char* action;
            int look;
            QColor colour;
        } looks[] = {{"PokerStars", 2, kStarsYellow}, {"PartyPoker", 1, kPartyBlue}, {"Kestrune", 0, own}};
        for (const auto& l : looks) {
            QAction* action = menuAction(*window, QStringLiteral("Layout"), QString::fromLatin1(l.action));
            action->trigger();
            QVERIFY(action->isChecked());
            QCOMPARE(static_cast<int>(table()->look()), l.look);
            QVERIFY2(near(tableColour(), l.colour), l.action);
        }

        // A client without its picture is not offered (and says why) until its directory is set.
        window.reset();
        setSetting("starsdir", scratch->filePath(QStringLiteral("clients/nothing-here")));
        setSetting("ppdir", scratch->filePath(QStringLiteral("clients/nothing-here")));
        startWindow();
        for (const char* client : {"PokerStars", "PartyPoker"}) {
            QAction* entry = menuAction(*window, QStringLiteral("Layout"), QString::fromLatin1(client));
            QVERIFY(!entry->isEnabled());
            QVERIFY2(entry->toolTip().contains(QStringLiteral("picture was found")), qPrintable(entry->toolTip()));
            entry->trigger();
            QCOMPARE(table()->look(), TableLook::Own);
        }
        table()->setLook(TableLook::PokerStars);
        QVERIFY(near(tableColour(), own));
        runDirectoryDialog(partyDirectory, QString());
        QVERIFY(menuAction(*window, QStringLiteral("Layout"), QStringLiteral("PartyPoker"))->isEnabled());
    }

    void noDeclinesTheOffer() {
        MessageBoxUpdatePrompt prompt;
        whenOpen<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
        QVERIFY(!prompt.offerUpdate());
    }

    void theStartUpOffersANewVersion() {
        LoopbackServer server(torvel::testing::httpReply("09"));
        setSetting("updatehost", QString::fromStdString(server.address()));
        BrowserStandIn browser;
        QString title, text;
        whenOpen<QMessageBox>([&](QMessageBox* box) {
            // Its own window: shown before the main window exists.
            title = box->windowTitle() + (box->parentWidget() ? " (in a parent)" : "");
            text = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        startWindow();
        QCOMPARE(title, QStringLiteral("New Version Available!"));
        QVERIFY(text.endsWith(QStringLiteral("\n\nDo you want to visit the downloadpage now?")));
        QCOMPARE(browser.opened.size(), 1);
        QCOMPARE(browser.opened[0].toString(),
                 QStringLiteral("http://%1/sngdownload.php").arg(QString::fromStdString(server.address())));
        QVERIFY(window->isVisible());  // and the start goes on
    }
};

QTEST_MAIN(ClientTest)
#include "client_test.moc"
