#pragma once

#include <QList>

#include "CTavDialogBase.h"

class QFileDialog;
class QVBoxLayout;

// The program's file dialog for opening or saving, with the program's
// "description|pattern|...||" filters and its own overwrite question. Where the desktop offers
// its own file dialog, that one runs; elsewhere (offscreen, tests, bare window systems) Qt's
// dialog, with Japanese labels and dates. While it runs no HotSync may start; every file
// dialog is listed in OpenFileDialogs().
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

    // What decides between the desktop's file dialog and Qt's.
    struct DesktopFacts
    {
        QString platform;              // QGuiApplication::platformName()
        QStringList themePlugins;      // platform theme plugins loaded in this process
        bool nativeDialogsOff = false; // Qt::AA_DontUseNativeDialogs
        bool answeredByTests = false;  // dialogs are answered by a hook, never shown
    };
    static DesktopFacts CurrentDesktop();
    // True when Qt would show the desktop's own dialog: a theme that brings one (GTK, the
    // desktop portal, Plasma) on a real window system.
    static bool UseDesktopDialog(const DesktopFacts& facts);

    Mode GetMode() const { return m_mode; }
    QFileDialog* FileDialog() const { return m_files; }
    void SetInitialFolder(const QString& folder);
    void SetInitialFile(const QString& name);
    void SetAcceptLabel(const QString& text);
    // The help page on import, export and backup files.
    static inline const QString kFilesHelpPage = QStringLiteral("backup.html");
    // The help page F1 opens; kFilesHelpPage unless set.
    void SetHelpPage(const QString& page) { m_helpPage = page; }
    // The chosen file's full path (after OK).
    QString PathName() const;

    int exec() override;

protected:
    // Where a derived dialog adds its own controls, below the file controls.
    QVBoxLayout* ExtraArea() const { return m_extra; }
    // After the desktop's dialog chose a file: what a derived dialog still needs to ask, since
    // its own controls cannot join that dialog. False cancels.
    virtual bool CompleteDesktopChoice() { return true; }

private:
    int execDesktop();

    Mode m_mode;
    QFileDialog* m_files;
    QVBoxLayout* m_extra;
    QString m_initialFile;
    QString m_desktopPath;
    QString m_helpPage = kFilesHelpPage;
};
