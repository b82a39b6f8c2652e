#include "controls/controlimages.h"

#include <QString>

// The pictures live in a static library, whose resource initialiser the linker
// would drop; calling it from here keeps it wherever a picture is loaded. It
// stays outside any namespace, as the initialiser's declaration requires.
static void EnsureResources()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(controls);
        return true;
    }();
    (void)loaded;
}

namespace {

QPixmap LoadPicture(const QString& name)
{
    EnsureResources();
    return QPixmap(QStringLiteral(":/controls/%1.png").arg(name));
}

} // namespace

QPixmap LoadIconResource(int id)
{
    return LoadPicture(QStringLiteral("icon%1").arg(id));
}

QPixmap LoadBitmapResource(int id)
{
    return LoadPicture(QStringLiteral("bitmap%1").arg(id));
}
