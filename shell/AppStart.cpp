#include "AppStart.h"

#include "DailyVerses.h"
#include "EmbeddedResources.h"
#include "Faces.h"

#include <QFont>
#include <QGuiApplication>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace orvane {

void PrepareApplication() {
    SubstituteFaces();
    // Lets desktops match the running reader to its installed entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("orvane"));
    RegisterEmbeddedResources();
    LoadDailyVerses();
}

std::string ToGbk(const QString& text) {
    QStringEncoder encoder("GBK");
    const QByteArray bytes = encoder(text);
    return std::string(bytes.constData(), size_t(bytes.size()));
}

QString FromGbk(const std::string& gbk) {
    QStringDecoder decoder("GBK");
    return decoder(QByteArrayView(gbk.data(), qsizetype(gbk.size())));
}

} // namespace orvane
