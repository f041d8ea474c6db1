#include "CTavPrivateFiles.h"

#include <QFile>
#include <QFileInfo>

#include <ftw.h>
#include <sys/stat.h>

#include "CTavDbEnv.h"
#include "CTavPlatformPaths.h"

namespace {
int tightenEntry(const char* path, const struct stat* info, int type, FTW*)
{
    mode_t wanted = 0;
    if ((type == FTW_D || type == FTW_DNR) && S_ISDIR(info->st_mode))
        wanted = S_IRWXU;
    else if (type == FTW_F && S_ISREG(info->st_mode))
        wanted = S_IRUSR | S_IWUSR;
    if (wanted && (info->st_mode & 07777) != wanted)
        ::chmod(path, wanted);
    return 0; // a failure on one entry must not end the walk
}
} // namespace

void CTavPrivateFiles::Apply()
{
    ::umask(S_IRWXG | S_IRWXO);
}

void CTavPrivateFiles::Tighten(const QString& root)
{
    // The root itself may be a link the user made to keep the data elsewhere; that place is the
    // data root. Below it no link is followed (FTW_PHYS), so nothing outside is changed.
    const QString target = QFileInfo(root).canonicalFilePath();
    if (target.isEmpty())
        return;
    ::nftw(QFile::encodeName(target).constData(), tightenEntry, 16, FTW_PHYS);
}

void CTavPrivateFiles::TightenAll()
{
    Tighten(CTavDbEnv::GetCorePath());
    Tighten(CTavPlatformPaths::configDir());
}
