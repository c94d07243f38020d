#include "AppStart.h"

#include "DailyVerses.h"
#include "EmbeddedResources.h"

#include <QFont>
#include <QGuiApplication>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace orvane {

void PrepareApplication() {
    // The reading face is "宋体" at 9 pt: AR PL UMing has the same 12 px Chinese / 6 px ASCII
    // advances at that size, which the line breaking is tuned for.
    QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN"));
    QFont::insertSubstitution(QStringLiteral("幼圆"), QStringLiteral("WenQuanYi Micro Hei"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
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
