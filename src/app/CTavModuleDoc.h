#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class CTavApp;

// A module's view state over the stores of the application (filter, sort, selection). It has
// no file of its own. Its first view is the left pane, which gets the focus on a switch.
class CTavModuleDoc : public QObject
{
    Q_OBJECT
public:
    CTavModuleDoc(CTavApp& app, const QString& title, QObject* parent = nullptr);

    CTavApp& App() const { return m_app; }
    QString Title() const { return m_title; }
    QWidget* FirstView() const { return m_firstView; }
    void SetFirstView(QWidget* view) { m_firstView = view; }

    // Re-reads the module's preferences and the store's order and rebuilds what it shows.
    virtual void Reload();
    // Gives the module's store the order this document shows.
    virtual void ApplyStoreOrder() {}
    // Tells every view to redraw from the document (hint as the frame's Update).
    void UpdateAllViews(int hint);

signals:
    void viewsUpdated(int hint);

private:
    CTavApp& m_app;
    QString m_title;
    QPointer<QWidget> m_firstView;
};
