#include "wnAbout.h"

#include "AppStart.h"
#include "ColorButton.h"

#include <QLabel>
#include <QLayout>
#include <QVBoxLayout>

#ifndef ORVANE_VERSION
#error "ORVANE_VERSION comes from the project's version in CMake"
#endif

namespace orvane {

QString TfmAbout::CreditsText() {
    return QStringLiteral("中文经文：和合本（1919 年），公有领域\n"
                          "英文经文：King James Version（1769 年），公有领域\n"
                          "英文注释：Matthew Henry's Concise Commentary，公有领域\n"
                          "串珠经文：OpenBible.info，CC-BY\n"
                          "<https://www.openbible.info/labs/cross-references/>\n"
                          "字体：AR PL UMing、WenQuanYi Micro Hei、Liberation");
}

TfmAbout::TfmAbout(QWidget* parent) : TfmAnceDlg(parent) {
    setObjectName(QStringLiteral("fmAbout"));
    setWindowTitle(QStringLiteral("关于"));
    btnAnceCancel->hide(); // nothing to cancel

    lblName = new QLabel(ClientArea());
    lblName->setObjectName(QStringLiteral("lblName"));
    lblName->setText(QString::fromUtf8(kAppTitle) + QStringLiteral("\n版本 ") +
                     QStringLiteral(ORVANE_VERSION));
    QFont bold = lblName->font();
    bold.setBold(true);
    lblName->setFont(bold);

    lblCredits = new QLabel(ClientArea());
    lblCredits->setObjectName(QStringLiteral("lblCredits"));
    // Plain text, so a screen reader and a copy get the words as shown; the link is written out.
    lblCredits->setTextFormat(Qt::PlainText);
    lblCredits->setText(CreditsText());
    lblCredits->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(ClientArea());
    // The base's OK button sits at the client area's top right: the text starts below it.
    layout->setContentsMargins(16, btnAnceOK->height() + 12, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(lblName);
    layout->addWidget(lblCredits);
    layout->addStretch(1);
    ApplySkin();
}

void TfmAbout::ApplySkin() {
    TfmAnceDlg::ApplySkin();
    if (!lblCredits) return; // the base's own call, before the labels exist
    // Room for every line in this look's frame: a cut-off licence says nothing. Two characters
    // to spare, for the fallback glyphs a face lends the Latin text.
    if (QLayout* outer = layout()) outer->activate();
    const QSize frame = size() - ClientArea()->size();
    resize(size().expandedTo(ClientArea()->layout()->sizeHint() + frame + QSize(24, 0)));
}

void ShowAbout(QWidget* parent) {
    TfmAbout dialog(parent);
    dialog.ShowModal();
}

} // namespace orvane
