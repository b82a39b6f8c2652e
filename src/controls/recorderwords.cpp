#include "controls/recorderwords.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QVariant>
#include <QWidget>

void ShowRecorderWords(QWidget& window, const std::vector<NativeText>& texts, bool native)
{
    for (const NativeText& entry : texts) {
        QWidget* control = window.findChild<QWidget*>(QString::fromLatin1(entry.object));
        if (control == nullptr)
            continue;
        const QByteArray designedKey = QByteArrayLiteral("designed_") + entry.property;
        QVariant designed = control->property(designedKey.constData());
        if (!designed.isValid()) {
            designed = control->property(entry.property);
            control->setProperty(designedKey.constData(), designed);
        }
        control->setProperty(
            entry.property,
            native ? QVariant(QCoreApplication::translate("RecorderWords", entry.text)) : designed);
    }
}
