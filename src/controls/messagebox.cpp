#include "controls/messagebox.h"

#include "platform/pathhelper.h"

#include <QCoreApplication>

BoxAnswer ShowWindowBox(MessageBoxPresenter& presenter, const QString& caption, const QString& text,
                        BoxKind kind, const QString& extraButton)
{
    return presenter.Show({caption, text, kind, BoxOwner::MainWindow, extraButton});
}

BoxAnswer ShowApplicationBox(MessageBoxPresenter& presenter, const QString& text)
{
    return presenter.Show({ApplicationTitle(), text, BoxKind::AppWarning, BoxOwner::Application});
}

QString ApplicationTitle()
{
    return StripExtension(LastComponentOf(QCoreApplication::applicationFilePath()));
}
