#include "app/WEXApp.h"

#include "app/MainFrame.h"
#include "editor/PrintCommands.h"
#include "editor/RecoveryJournal.h"
#include "editor/RecoveryOffer.h"
#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "framework/MessageBox.h"
#include "recovery/RecoveryFolder.h"
#include "resources/Strings.h"
#include "settings/Settings.h"
#include "settings/SettingsDirectory.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

CWEXApp* CWEXApp::s_instance = nullptr;

CWEXApp::CWEXApp(CommandLineInfo commandLine) : m_cmdInfo(std::move(commandLine)) {
  s_instance = this;
  // Unregistering ends at once and must leave the program's directory untouched.
  if (m_cmdInfo.action != CommandLineInfo::Action::Unregister) {
    BootstrapSettings(GetSettingsDirectory());
    m_settings = SettingsFile::InSettingsDirectory();
  }
  OnCommand(cmd::ID_FILE_NEW, [this](int) { OnFileNew(); });
  OnCommand(cmd::ID_FILE_PRINT_SETUP, [this](int) { OnFilePrintSetup(); });
}

CWEXApp::~CWEXApp() {
  ExitInstance();
  s_instance = nullptr;
}

void CWEXApp::ExitInstance() {
  m_journal.reset();
  delete m_mainFrame;
  m_mainFrame = nullptr;
  delete m_document;
  m_document = nullptr;
}

void CWEXApp::CreateTrio() {
  m_document = new CWEXDoc(*m_settings);
  m_mainFrame = new CMainFrame(m_document, m_pluginFiles, *m_settings);
  m_mainFrame->Create();
  m_mainFrame->installEventFilter(&m_document->DiskFile());
}

void CWEXApp::StartRecovery(bool windowIsFree) {
  const std::string folder = GetRecoveryFolder();
  m_journal = std::make_unique<RecoveryJournal>(*m_document, folder);
  if (!RestoreHandedRecord(*m_document, *m_journal))
    OfferLeftRecords(*m_document, *m_journal, folder, windowIsFree);
}

bool CWEXApp::InitInstance(int& exitCode) {
  using Action = CommandLineInfo::Action;
  exitCode = 0;
  if (m_cmdInfo.action == Action::Unregister) {
    // There is no shell registration to remove; only the message remains.
    if (!m_cmdInfo.embedding) ShowMessageBox(nullptr, LoadString(IDS_UNREGISTERED), QString());
    return false;
  }

  // A relative name means the current directory at start, which the plug-in scan
  // changes while the window is built.
  const QString path =
      m_cmdInfo.fileName.empty()
          ? QString()
          : QFileInfo(QFile::decodeName(m_cmdInfo.fileName.c_str())).absoluteFilePath();
  CreateTrio();
  m_document->OnNewDocument();
  if (m_cmdInfo.action != Action::FileNew) {
    if (!m_document->OnOpenDocument(path)) {
      exitCode = 1;
      return false;
    }
    if (m_cmdInfo.action != Action::FileOpen) {
      exitCode = PrintAndEnd() ? 0 : 1;
      return false;
    }
  }
  m_mainFrame->show();
  StartRecovery(m_cmdInfo.action == Action::FileNew);
  return true;
}

bool CWEXApp::PrintAndEnd() {
  const QPrinterInfo target =
      m_cmdInfo.action == CommandLineInfo::Action::FilePrintTo
          ? QPrinterInfo::printerInfo(QString::fromLocal8Bit(m_cmdInfo.printerName.c_str()))
          : QPrinterInfo::defaultPrinter();
  if (target.isNull()) {
    ShowMessageBox(m_mainFrame, LoadString(IDS_PRINT_FAILED), QString(), QMessageBox::Ok,
                   QMessageBox::Warning);
    return false;
  }
  QPrinter printer(target);
  m_mainFrame->View()->Printing().Print(printer);
  return true;
}

void CWEXApp::OnFileNew() {
  if (m_document->SaveModified()) m_document->OnNewDocument();
}

void CWEXApp::OnFilePrintSetup() { m_mainFrame->View()->Printing().PrintSetup(); }
