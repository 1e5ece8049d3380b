#include "AlbumOutputGuard.h"

#include "CAlboraDoc.h"

OutputGuard GuardOfAlbum(const CAlboraDoc& doc) {
    OutputGuard guard;
    guard.Protect(doc.GetPathName(), QStringLiteral("the open album"));
    const CardFileResolver& files = doc.CardFiles();
    const CFotoObjList& album = doc.Db().List();
    for (int i = 0; i < album.GetCount(); ++i) {
        const CFotoObj& card = *album.GetAt(i);
        const QString file = files.Resolve(card.m_strGraphic);
        const QString name = QStringLiteral("\"%1\"").arg(card.m_strName);
        guard.Protect(file, QStringLiteral("the file of card ") + name);
        // Notes and drawings are found under either case of their extension and, for albums of
        // older versions, under the name cut at the path's first dot.
        const auto protectCompanions = [&](std::initializer_list<const char*> extensions, const QString& what) {
            for (const char* extension : extensions)
                for (const QString& companion : {CompanionFileName(file, QLatin1String(extension)),
                                                 LegacyCompanionFileName(file, QLatin1String(extension))})
                    guard.Protect(companion, what + name);
        };
        protectCompanions({".wav", ".WAV"}, QStringLiteral("the sound note of card "));
        protectCompanions({".adw", ".ADW"}, QStringLiteral("the draw annotation of card "));
    }
    return guard;
}
