#include "ui/Pictures.h"

#include <QString>

// The pictures live in a static library, where nothing else would keep the
// resource's registration from being dropped by the linker.
static void registerPictures()
{
    Q_INIT_RESOURCE(Torvane);
}

namespace torvane::ui {
namespace {

QPixmap picture(const char* name)
{
    static const bool registered = (registerPictures(), true);
    (void)registered;
    return QPixmap(QStringLiteral(":/icons/") + QLatin1String(name));
}

} // namespace

QIcon programIcon()
{
    QIcon icon;
    icon.addPixmap(picture("program-32.png"));
    icon.addPixmap(picture("program-256.png"));
    return icon;
}

QPixmap programPicture()
{
    return picture("program-32.png");
}

QPixmap errorPicture()
{
    return picture("error-32.png");
}

QPixmap mailPicture()
{
    return picture("mail-24.png");
}

} // namespace torvane::ui
