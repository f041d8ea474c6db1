#pragma once

#include <QList>

#include "CTavDialogBase.h"

class QFileDialog;
class QVBoxLayout;

// The program's file dialog: the platform's open or save dialog (Qt's own, not the desktop's,
// so that it behaves the same everywhere and tests can drive it), with the program's
// "description|pattern|...||" filters, Japanese labels and its own overwrite question. While
// it runs no HotSync may start; every file dialog is listed in OpenFileDialogs().
class CTavFileDlg : public CTavDialogBase
{
    Q_OBJECT
public:
    enum Mode
    {
        Open,
        Save
    };

    CTavFileDlg(Mode mode, const QString& title, const QString& filter, QWidget* parent = nullptr);
    ~CTavFileDlg() override;

    // "desc|*.a|desc2|*.b;*.c||" as name filters "desc (*.a)"; a description that already
    // ends in its pattern is kept as it is.
    static QStringList ConvertFilter(const QString& filter);
    // The lower-cased text after the last "." of the file name; empty when there is none.
    static QString ExtensionOf(const QString& path);
    // A save name without an extension gets the first one of the chosen type ("desc (*.csv)"),
    // as every desktop program does; a name with one is kept as typed.
    static QString WithTypeExtension(const QString& path, const QString& nameFilter);
    static QList<CTavFileDlg*> OpenFileDialogs();

    Mode GetMode() const { return m_mode; }
    QFileDialog* FileDialog() const { return m_files; }
    void SetInitialFolder(const QString& folder);
    void SetInitialFile(const QString& name);
    void SetAcceptLabel(const QString& text);
    // The chosen file's full path (after OK).
    QString PathName() const;

    int exec() override;

protected:
    // Where a derived dialog adds its own controls, below the file controls.
    QVBoxLayout* ExtraArea() const { return m_extra; }

private:
    Mode m_mode;
    QFileDialog* m_files;
    QVBoxLayout* m_extra;
};
