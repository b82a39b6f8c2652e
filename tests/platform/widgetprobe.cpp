// Built only by the core_rejects_widgets test, which expects this to fail.
#include <QtWidgets/QWidget>

int ProbeWidgetSize()
{
    return static_cast<int>(sizeof(QWidget));
}
