#include "screens/UseFarlineFor.h"

#include "core/AppSettings.h"
#include "core/FarlineAppDelegate.h"
#include "core/MainViewModalDelegate.h"

#include <QTimer>

namespace {
constexpr int deselectDelayMs = 200;
}

UseFarlineFor::UseFarlineFor(FarlineAppDelegate &app, QObject *parent)
    : QObject(parent)
    , m_app(app)
{
    const int mode = m_app.appSettings().useFarlineFor;
    m_checkedIndex = mode == 0 || mode == 1 ? mode : -1;
}

QStringList UseFarlineFor::rows() const
{
    return {QStringLiteral("International calls"), QStringLiteral("Always")};
}

void UseFarlineFor::didSelectRow(int row)
{
    if (row != 0 && row != 1)
        return;
    m_checkedIndex = row;
    Q_EMIT checkedIndexChanged();
    m_app.appSettings().useFarlineFor = row; // saved with the application's next save
    if (m_delegate)
        m_delegate->SelectCountryDidFinish();
    setSelectedRow(row);
    QTimer::singleShot(deselectDelayMs, this, [this] { setSelectedRow(-1); });
}

void UseFarlineFor::setSelectedRow(int row)
{
    if (row == m_selectedRow)
        return;
    m_selectedRow = row;
    Q_EMIT selectedRowChanged();
}
