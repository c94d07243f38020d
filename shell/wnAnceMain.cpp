#include "wnAnceMain.h"

#include "AppStart.h"
#include "DrawMenus.h"
#include "IniFileX.h"
#include "SettingsKeys.h"
#include "SkinState.h"

#include <QLabel>
#include <QPainter>
#include <QStatusBar>
#include <QVBoxLayout>

namespace orvane {
namespace {

struct SkinColours {
    QColor face, menuText, menuHotText;
};

// Per skin: the face colour and the colours of the menu items on the tool-bar panel.
const SkinColours kSkinColours[4] = {
    {{}, {}, {}},
    {{232, 238, 245}, {0, 0, 0}, {255, 255, 255}},
    {{255, 240, 225}, {255, 251, 240}, {255, 255, 0}},
    {{255, 255, 255}, {255, 255, 255}, {0, 128, 128}},
};

// The tool-bar panel's background: the bar face stretched, the grip and the highlight on it.
QImage ComposeToolBarPicture() {
    QImage picture(52, 20, QImage::Format_RGB888);
    QPainter p(&picture);
    p.drawImage(picture.rect(), SkinBarFace);
    DrawKeyed(p, QPoint(2, 3), SkinImage, QRect(136, 6, 6, 14));
    p.drawImage(QPoint(28, 0), SkinImage, QRect(111, 6, 24, 20));
    return picture;
}

} // namespace

TfmAnceMain::TfmAnceMain(QWidget* parent) : TfmAncestor(parent, Border::Sizeable) {
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    const int widths[3] = {240, 90, 50};
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(StatusBar1);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setMinimumWidth(widths[i]);
        if (i < 2) panel->setFixedWidth(widths[i]);
        StatusPanels[size_t(i)] = panel;
        StatusBar1->addWidget(panel, i == 2 ? 1 : 0);
    }
    StatusPanels[1]->setText(QStringLiteral("> 每日金句："));
    FormLayout()->addWidget(StatusBar1);
    pnlAnceTitle->SetCaption(QString::fromUtf8(kAppTitle));
    SetFrameTop(panToolBar->height() + 1);
    SetFrameBottom(StatusBar1->sizeHint().height());
    SetFrameLeft(0);
    SetPanelBevels(true);
}

void TfmAnceMain::SetPanelBevels(bool lowered) {
    for (QLabel* panel : StatusPanels) {
        panel->setFrameShape(lowered ? QFrame::Panel : QFrame::NoFrame);
        panel->setFrameShadow(QFrame::Sunken);
    }
}

void TfmAnceMain::miSkinDefaultClick(int index) {
    if (index < 0 || index >= kSkinCount) return;
    // Only a user's choice is remembered; the start-up path re-applies the stored one.
    bool remember = false;
    setUpdatesEnabled(false);
    try {
        SkinIndex = index;
        // Qt checks a radio item before its handler runs, so "already checked" is judged by
        // the skin last applied, not by the item's state.
        if (index != appliedSkin_) {
            appliedSkin_ = index;
            for (size_t i = 0; i < SkinItems.size(); ++i)
                if (SkinItems[i]) SkinItems[i]->setChecked(int(i) == index);
            remember = isVisible();
            ApplyAncestorSkin();
        }
        SkinChanged();
    } catch (...) {
        setUpdatesEnabled(true);
        throw;
    }
    setUpdatesEnabled(true);
    update();
    // Written once the whole window wears the new look: a refused write (reported by the
    // caller) then leaves a consistent window and the file as it was, not a half-made switch.
    if (remember) TInifileX().WriteInteger(settings::kMain, settings::kSkinIndex, SkinIndex);
}

void TfmAnceMain::ApplyAncestorSkin() {
    const bool skinned = SkinIndex != kSkinSystem;
    if (skinned) {
        pnlAnceTitle->show();
        ApplySkin();
        const SkinColours& c = kSkinColours[SkinIndex];
        SkinFaceColor = c.face;
        panToolBar->SetMenuTextColor(c.menuText);
        panToolBar->SetMenuHotTextColor(c.menuHotText);
    } else {
        ApplySkin(); // hides the title panel and gives the window its system frame back
    }
    SkinMenuHotTextColor = panToolBar->MenuHotTextColor;
    if (skinned) {
        panToolBar->SetMenuBarMode(true);
        panToolBar->SetBackground(ComposeToolBarPicture());
        if (MainMenu()) TDrawMenus::Install(MainMenu());
        panToolBar->show();
        SetPanelBevels(false);
        StatusPanels[1]->setText(QStringLiteral("> 每日金句："));
    } else {
        panToolBar->SetMenuBarMode(false);
        panToolBar->hide();
        if (MainMenu()) TDrawMenus::Uninstall(MainMenu());
        SetPanelBevels(true);
        StatusPanels[1]->setText(QStringLiteral("每日金句："));
    }
    pnlAnceTitle->update();
}

} // namespace orvane
