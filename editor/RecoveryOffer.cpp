#include "editor/RecoveryOffer.h"

#include "editor/JournalText.h"
#include "editor/RecoveryJournal.h"
#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "framework/MessageBox.h"
#include "recovery/RecoveryStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QProcess>

namespace {

// Names the record a further copy of the program is started for.
constexpr char kHandedRecord[] = "WEX_RECOVER_RECORD";

QString Question(const RecoveryRecord& record) {
  const QString name =
      record.path.empty() ? QString::fromUtf8("無題") : QFile::decodeName(record.path.c_str());
  const QDateTime changed = QDateTime::fromMSecsSinceEpoch(record.changedNs / 1'000'000);
  QString text = QString::fromUtf8("保存されていない変更が残っています。\n%1\n最後の変更: %2\n")
                     .arg(name, changed.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
  if (!record.path.empty() && IdentifyFile(record.path) != record.loaded)
    text += QString::fromUtf8("ﾌｧｲﾙはその後、他のﾌﾟﾛｸﾞﾗﾑで変更されています。\n");
  return text + QString::fromUtf8("復元しますか？");
}

// The record's text into this window, counted as modified, with its format and
// file; once this copy's own record holds it, the old one goes.
void Restore(CWEXDoc& doc, RecoveryJournal& journal, LeftRecord& left,
             const RecoveryRecord& record) {
  doc.GetView()->RestoreText(TextOfRecord(record.text));
  doc.SetFormat(record.format);
  if (!record.path.empty()) {
    const QString path = QFile::decodeName(record.path.c_str());
    doc.SetPathName(path);
    // The question said whether the file changed meanwhile; Save then writes
    // the restored text without asking again.
    doc.DiskFile().Remember(path);
  }
  journal.UpdateNow();
  left.Discard();
}

bool StartCopyFor(const std::string& recordPath) {
  QProcess copy;
  copy.setProgram(QCoreApplication::applicationFilePath());
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QString::fromLatin1(kHandedRecord), QFile::decodeName(recordPath.c_str()));
  copy.setProcessEnvironment(environment);
  return copy.startDetached();
}

}  // namespace

void OfferLeftRecords(CWEXDoc& doc, RecoveryJournal& journal, const std::string& folder,
                      bool restoreHere) {
  for (LeftRecord& left : ClaimLeftRecords(folder)) {
    const std::optional<RecoveryRecord> record = left.Read();
    if (!record) continue;  // not whole: left for a person to look at, never deleted
    switch (ShowMessageBox(doc.OwnerWindow(), Question(*record), QStringLiteral("Wex"),
                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
      case QMessageBox::Yes:
        if (restoreHere) {
          Restore(doc, journal, left, *record);
          restoreHere = false;
        } else {
          left.Release();  // the further copy claims it
          StartCopyFor(left.RecordPath());
        }
        break;
      case QMessageBox::No: left.Discard(); break;
      default: break;
    }
  }
}

bool RestoreHandedRecord(CWEXDoc& doc, RecoveryJournal& journal) {
  const QByteArray handed = qgetenv(kHandedRecord);
  if (handed.isNull()) return false;
  qunsetenv(kHandedRecord);  // not passed on to the tools this copy starts
  std::optional<LeftRecord> left = ClaimLeftRecord(handed.toStdString());
  if (!left) return true;
  if (const std::optional<RecoveryRecord> record = left->Read())
    Restore(doc, journal, *left, *record);
  return true;
}
