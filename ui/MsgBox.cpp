#include "MsgBox.h"

#include <QMessageBox>
#include <QPushButton>
#include <QString>

namespace orvane {

namespace {

void ShowOk(QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, owner);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

} // namespace

void TMsgBox::Info(QWidget* owner, const QString& text) {
    ShowOk(owner, QMessageBox::Information, QStringLiteral("提示"), text);
}

void TMsgBox::Error(QWidget* owner, const QString& text) {
    ShowOk(owner, QMessageBox::Critical, QStringLiteral("错误"), text);
}

bool TMsgBox::Confirm(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("提示"), text,
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否"));
    box.setDefaultButton(QMessageBox::Yes);
    // Without an explicit escape button the title bar's close could answer nothing at all.
    box.setEscapeButton(QMessageBox::No);
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Yes);
}

} // namespace orvane
