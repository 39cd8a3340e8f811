#pragma once

#include <QObject>
#include <QStringList>

class FarlineAppDelegate;
class MainViewModalDelegate;

// The usage mode chooser behind the settings screen's "Use for" row. The row index is the mode:
// row 0 "International calls" stores 0, row 1 "Always" stores 1.
class UseFarlineFor : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title CONSTANT)
    Q_PROPERTY(QStringList rows READ rows CONSTANT)
    Q_PROPERTY(int checkedIndex READ checkedIndex NOTIFY checkedIndexChanged)
    Q_PROPERTY(int selectedRow READ selectedRow NOTIFY selectedRowChanged)

public:
    explicit UseFarlineFor(FarlineAppDelegate &app, QObject *parent = nullptr);

    QString title() const { return QStringLiteral("Use for"); }
    QStringList rows() const;
    // The row with the check mark (and grey text): the one equal to the stored mode; -1 for none.
    int checkedIndex() const { return m_checkedIndex; }
    // The highlighted row, -1 when none; a tap's highlight goes 0.2 s later.
    int selectedRow() const { return m_selectedRow; }

    void setDelegate(MainViewModalDelegate *delegate) { m_delegate = delegate; }

    Q_INVOKABLE void didSelectRow(int row);

Q_SIGNALS:
    void checkedIndexChanged();
    void selectedRowChanged();

private:
    void setSelectedRow(int row);

    FarlineAppDelegate &m_app;
    MainViewModalDelegate *m_delegate = nullptr;
    int m_checkedIndex = -1;
    int m_selectedRow = -1;
};
