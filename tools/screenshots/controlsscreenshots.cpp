// Renders every control in its states, offscreen, for the documentation:
//   controls_screenshots <folder>
// writes controls-buttons.png, controls-themedbuttons.png,
// controls-linklabel.png, controls-filedialog.png and controls-folderpicker.png.

#include "controls/applicationprofile.h"
#include "controls/cxfiledialog.h"
#include "controls/folderpicker.h"
#include "controls/historycombo.h"
#include "controls/hoverbutton.h"
#include "controls/linklabel.h"
#include "controls/themeapi.h"
#include "controls/themedbutton.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSettings>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <type_traits>

namespace {

void Hover(QWidget& widget)
{
    const QPointF at(5, 5);
    QMouseEvent move(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

struct State
{
    const char* name;
    std::function<void(HoverButton&)> apply;
};

const State kStates[] = {
    {"normal", [](HoverButton&) {}},
    {"default", [](HoverButton& b) { b.setDefault(true); }},
    {"hovered", [](HoverButton& b) { Hover(b); }},
    {"pressed", [](HoverButton& b) { b.setDown(true); }},
    {"disabled", [](HoverButton& b) { b.setEnabled(false); }},
};

// One row per kind of button, one column per state.
template <typename Button> QWidget* ButtonSheet(const ThemeApi* theme)
{
    auto* sheet = new QWidget;
    sheet->setAutoFillBackground(true);
    auto* grid = new QGridLayout(sheet);
    int column = 1;
    for (const State& state : kStates)
        grid->addWidget(new QLabel(QString::fromLatin1(state.name)), 0, column++, Qt::AlignCenter);
    const struct
    {
        const char* name;
        const char* text;
        int icon;
    } rows[] = {
        {"icon and text", "&Image", 135}, {"icon only", "", 131}, {"16 px icon", "OK", 138}};
    int row = 1;
    for (const auto& kind : rows) {
        grid->addWidget(new QLabel(QString::fromLatin1(kind.name)), row, 0);
        column = 1;
        for (const State& state : kStates) {
            auto* button = new Button(sheet);
            if constexpr (std::is_same_v<Button, ThemedButton>)
                button->BindTheme(theme);
            button->setText(QString::fromLatin1(kind.text));
            button->SetIcon(kind.icon);
            button->setFixedSize(kind.text[0] != '\0' ? 100 : 40, 34);
            grid->addWidget(button, row, column++, Qt::AlignCenter);
            state.apply(*button);
        }
        ++row;
    }
    return sheet;
}

QWidget* BitmapSheet()
{
    auto* sheet = new QWidget;
    sheet->setAutoFillBackground(true);
    auto* grid = new QGridLayout(sheet);
    auto* plain = new HoverButton(sheet);
    plain->SetBitmap(140, QColor(0, 255, 0));
    plain->setFixedSize(93, 91);
    auto* hovered = new HoverButton(sheet);
    hovered->SetBitmap(140, QColor(0, 255, 0));
    hovered->setFixedSize(93, 91);
    grid->addWidget(new QLabel(QStringLiteral("donation bitmap")), 0, 0);
    grid->addWidget(plain, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("hovered")), 0, 2);
    grid->addWidget(hovered, 0, 3);
    sheet->show();
    Hover(*hovered);
    return sheet;
}

bool Save(QWidget& widget, const QString& path)
{
    widget.show();
    // File views fill from a background thread; give them a moment.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 500)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

bool SaveButtons(const QString& folder)
{
    QWidget page;
    auto* layout = new QGridLayout(&page);
    layout->addWidget(new QLabel(QStringLiteral("<b>HoverButton</b> (flat look)")), 0, 0);
    QWidget* flat = ButtonSheet<HoverButton>(nullptr);
    layout->addWidget(flat, 1, 0);
    layout->addWidget(BitmapSheet(), 2, 0);
    return Save(page, folder + QStringLiteral("/controls-buttons.png"));
}

bool SaveThemedButtons(const QString& folder)
{
    ThemeApi theme;
    QWidget page;
    auto* layout = new QGridLayout(&page);
    layout->addWidget(new QLabel(QStringLiteral("<b>ThemedButton</b>, visual style active "
                                                "(Fusion): the style's push-button face")),
                      0, 0);
    layout->addWidget(ButtonSheet<ThemedButton>(&theme), 1, 0);
    bool saved = Save(page, folder + QStringLiteral("/controls-themedbuttons.png"));

    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    QWidget classic;
    auto* classicLayout = new QGridLayout(&classic);
    classicLayout->addWidget(new QLabel(QStringLiteral("<b>ThemedButton</b>, classic style "
                                                       "(no visual style): flat face and edges")),
                             0, 0);
    classicLayout->addWidget(ButtonSheet<ThemedButton>(&theme), 1, 0);
    saved &= Save(classic, folder + QStringLiteral("/controls-themedbuttons-classic.png"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    return saved;
}

bool SaveLinkLabels(const QString& folder)
{
    QWidget page;
    page.resize(520, 130);
    const char* states[] = {"link", "hovered (mode -1)", "visited", "always underlined (mode 1)"};
    LinkLabel* labels[4];
    for (int i = 0; i < 4; ++i) {
        auto* caption = new QLabel(QString::fromLatin1(states[i]), &page);
        caption->setGeometry(10, 10 + i * 28, 200, 20);
        labels[i] = new LinkLabel(&page);
        labels[i]->setText(QStringLiteral("cdrtools Homepage"));
        labels[i]->SetUrl(QStringLiteral("https://example.org/cdrtools/"));
        labels[i]->setGeometry(220, 10 + i * 28, 290, 20);
    }
    labels[3]->SetUnderlineMode(1);
    page.show();
    QCursor::setPos(labels[1]->mapToGlobal(QPoint(3, 3)));
    Hover(*labels[1]);
    labels[2]->SetVisited(true);
    return Save(page, folder + QStringLiteral("/controls-linklabel.png"));
}

bool SaveFileDialog(const QString& folder, const QTemporaryDir& scratch)
{
    QDir root(scratch.path());
    for (const char* name : {"Movies/Holiday", "Images", "Backups"})
        root.mkpath(QString::fromLatin1(name));
    for (const char* name : {"Images/HOLIDAY.iso", "Images/WEDDING.iso", "Images/WEDDING.lst"}) {
        QFile file(root.filePath(QString::fromLatin1(name)));
        file.open(QIODevice::WriteOnly);
    }
    SetApplicationProfilePath(scratch.filePath(QStringLiteral("profile.ini")));
    QSettings profile(scratch.filePath(QStringLiteral("profile.ini")), QSettings::IniFormat);
    profile.setValue("FolderHistory/Folder0", scratch.filePath(QStringLiteral("Images")));
    profile.setValue("FolderHistory/Folder1", scratch.filePath(QStringLiteral("Movies/Holiday")));
    profile.setValue("FolderHistory/Folder2", scratch.filePath(QStringLiteral("Backups")));
    profile.sync();

    bool saved = false;
    CXFileDialog::SetNextAnswer([&](CXFileDialog& dialog) {
        dialog.setDirectory(scratch.filePath(QStringLiteral("Images")));
        dialog.resize(720, 440);
        saved = Save(dialog, folder + QStringLiteral("/controls-filedialog.png"));
        return std::optional<QString>();
    });
    CXFileDialog dialog(false, QStringLiteral("iso"), QStringLiteral("HOLIDAY.iso"), 2,
                        QStringLiteral("ISO Image (*.iso)|*.iso|Image File (*.img)|*.img|"
                                       "All Files (*.*)||"));
    dialog.DoModal();
    SetApplicationProfilePath({});
    return saved;
}

bool SaveFolderPicker(const QString& folder, const QTemporaryDir& scratch)
{
    bool saved = false;
    FolderPicker::SetNextAnswer([&](QFileDialog& chooser) {
        chooser.resize(640, 400);
        saved = Save(chooser, folder + QStringLiteral("/controls-folderpicker.png"));
        return std::optional<QString>();
    });
    FolderPicker picker;
    picker.Browse(QStringLiteral("Choose a Directory which contains the DVD File structure:"),
                  scratch.filePath(QStringLiteral("Movies")), 0x49);
    return saved;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc != 2) {
        std::fprintf(stderr, "usage: controls_screenshots <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir scratch;
    bool saved = SaveButtons(folder);
    saved &= SaveThemedButtons(folder);
    saved &= SaveLinkLabels(folder);
    saved &= SaveFileDialog(folder, scratch);
    saved &= SaveFolderPicker(folder, scratch);
    return saved ? 0 : 1;
}
