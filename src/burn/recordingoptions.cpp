#include "burn/recordingoptions.h"

#include "recorder/decrypterprogram.h"
#include "recorder/versioncompare.h"

#include <QLocale>

namespace {

constexpr double kSpeeds[] = {1, 2, 2.4, 4, 8, 12, 16};
constexpr int kMaxIndex = 7;

} // namespace

RecordingOptionsState DecideRecordingOptions(bool burnImageFile, const QString& decrypterVersion)
{
    RecordingOptionsState state;
    if (!burnImageFile)
        return state;
    state.shutdownEnabled = IsVersionAbove(decrypterVersion, Decrypter::ShutdownEraseThreshold);
    state.verifyEnabled = IsVersionAbove(decrypterVersion, Decrypter::VerifyThreshold);
    state.speedEnabled = IsVersionAbove(decrypterVersion, Decrypter::VerifyValueSpeedThreshold);
    state.clearShutdown = !state.shutdownEnabled;
    state.clearVerify = !state.verifyEnabled;
    return state;
}

QStringList SpeedListItems(QChar decimalSeparator)
{
    QStringList items;
    for (double speed : kSpeeds) {
        QString text = QString::asprintf("%gx", speed);
        text.replace(QLatin1Char('.'), decimalSeparator);
        items.append(text);
    }
    items.append(QStringLiteral("MAX"));
    return items;
}

QChar LocaleDecimalSeparator()
{
    const QString separator = QLocale::system().decimalPoint();
    return separator.isEmpty() ? QLatin1Char('.') : separator.at(0);
}

int SpeedSelection(const QStringList& items, const QString& writeSpeed)
{
    if (writeSpeed.size() < 2)
        return items.size() > kMaxIndex ? kMaxIndex : -1;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items.at(i).startsWith(writeSpeed, Qt::CaseInsensitive))
            return static_cast<int>(i);
    }
    return -1;
}

RecordingOptionsState NativeRecordingOptions(bool shutdownAvailable)
{
    RecordingOptionsState state;
    state.speedEnabled = true;
    state.verifyEnabled = true;
    state.shutdownEnabled = shutdownAvailable;
    state.clearShutdown = !shutdownAvailable;
    return state;
}
