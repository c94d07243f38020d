// orvane-uigallery OUTDIR: a skinned dialog, a message box, a skinned menu and the testament tab
// strip in each look, saved as OUTDIR/look<N>-<piece>.png.
#include "DrawMenus.h"
#include "Faces.h"
#include "MsgBox.h"
#include "SkinState.h"
#include "unTMiscTabs.h"
#include "wnAnceDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTimer>

using namespace orvane;

namespace {

class GalleryDialog : public TfmAnceDlg {
public:
    GalleryDialog() {
        setWindowTitle(QStringLiteral("批注 - 创1:1"));
        auto* form = new QFormLayout(ClientArea());
        form->setContentsMargins(12, 36, 90, 12);
        form->addRow(QStringLiteral("经文："), new QLabel(QStringLiteral("起初神创造天地。")));
        auto* edit = new QLineEdit(QStringLiteral("太初有道"));
        form->addRow(QStringLiteral("批注："), edit);
        form->addRow(QString(), new QCheckBox(QStringLiteral("保存后关闭")));
        resize(341, 200);
    }
    bool Validate() override { return true; }
};

void ApplyLook(int look) {
    SkinIndex = look;
    const QColor faces[4] = {QGuiApplication::palette().color(QPalette::Button),
                             {232, 238, 245},
                             {255, 240, 225},
                             {255, 255, 255}};
    const QColor hot[4] = {Qt::white, {255, 255, 255}, {255, 255, 0}, {0, 128, 128}};
    if (look > 0) LoadSkin(look);
    SkinFaceColor = faces[look];
    SkinMenuHotTextColor = hot[look];
}

void SaveMenu(int look, const QString& out) {
    QMenu menu;
    QAction* copy = menu.addAction(QStringLiteral("复制(完整格式)"));
    copy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    QAction* checked = menu.addAction(QStringLiteral("编辑栏(&F)"));
    checked->setCheckable(true);
    checked->setChecked(true);
    menu.addSeparator();
    menu.addAction(QStringLiteral("复制(纯经文格式)"));
    QAction* off = menu.addAction(QStringLiteral("复制(串珠内容)"));
    off->setEnabled(false);
    QMenu* marks = menu.addMenu(QStringLiteral("书签"));
    marks->addAction(QStringLiteral("书签0"));
    menu.setDefaultAction(copy);
    if (look > 0) TDrawMenus::Install(&menu);
    menu.adjustSize();
    menu.show();
    menu.setActiveAction(menu.actions().at(3));
    menu.grab().save(out + QStringLiteral("/look%1-menu.png").arg(look));
}

void SaveTabs(int look, const QString& out) {
    TMiscTabs tabs;
    tabs.resize(19, 200);
    tabs.SetTabs({QStringLiteral("旧约"), QStringLiteral("新约")});
    const QColor h = SkinMenuHotTextColor;
    const QPalette pal = QGuiApplication::palette();
    const QColor table[4][8] = {
        {pal.color(QPalette::Base),
         pal.color(QPalette::Highlight),
         pal.color(QPalette::Base),
         {255, 251, 240},
         pal.color(QPalette::Button),
         Qt::black,
         pal.color(QPalette::Dark),
         Qt::red},
        {h, {0, 150, 255}, {201, 213, 228}, h, {200, 235, 255}, Qt::black, {0, 150, 255}, Qt::red},
        {h,
         {255, 150, 0},
         Qt::white,
         {132, 46, 0},
         {255, 220, 185},
         Qt::black,
         {255, 150, 0},
         Qt::red},
        {h, {204, 0, 0}, {90, 99, 124}, h, Qt::black, {255, 251, 240}, Qt::black, Qt::red}};
    for (int i = 0; i < 8; ++i)
        tabs.SetColor(i, table[look][i]);
    tabs.SetBorderLines(look > 0 ? 15 : 0);
    tabs.SetUseSkinPicture(look > 0);
    if (look > 0) tabs.SetSelectedPicture(SkinMenuHighlight);
    tabs.show();
    tabs.grab().save(out + QStringLiteral("/look%1-tabs.png").arg(look));
}

void SaveMessageBox(int look, const QString& out) {
    QTimer::singleShot(100, [look, out] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            box->grab().save(out + QStringLiteral("/look%1-msgbox.png").arg(look));
            box->close();
        }
    });
    TMsgBox::Info(nullptr, QStringLiteral("搜索结果为空！"));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SubstituteFaces();
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    for (int look = 0; look < kSkinCount; ++look) {
        ApplyLook(look);
        GalleryDialog dialog;
        dialog.show();
        QApplication::processEvents();
        dialog.grab().save(out + QStringLiteral("/look%1-dialog.png").arg(look));
        dialog.hide();
        SaveMenu(look, out);
        SaveTabs(look, out);
        SaveMessageBox(look, out);
    }
    return 0;
}
