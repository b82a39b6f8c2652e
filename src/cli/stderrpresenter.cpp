#include "cli/stderrpresenter.h"

#include <cstdio>

int StderrPresenter::Show(const MessageBoxRequest& request)
{
    PrintError(request.text);
    const bool question =
        request.kind == BoxKind::WarningYesNo || request.kind == BoxKind::QuestionYesNo;
    return question ? IdNo : IdOk;
}

void PrintError(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    std::fflush(stderr);
}
