#include "app/WEXApp.h"

#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/Settings.h"
#include "editor/WEXDoc.h"
#include "editor/WEXView.h"
#include "framework/MessageBox.h"
#include "resources/Strings.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>

CWEXApp* CWEXApp::s_instance = nullptr;

CWEXApp::CWEXApp() {
  s_instance = this;
  BootstrapSettings(GetProgramDirectory());
  OnCommand(cmd::ID_FILE_NEW, [this](int) { OnFileNew(); });
  OnCommand(cmd::ID_FILE_PRINT_SETUP, [this](int) { OnFilePrintSetup(); });
}

CWEXApp::~CWEXApp() {
  ExitInstance();
  s_instance = nullptr;
}

void CWEXApp::ExitInstance() {
  delete m_pMainFrame;
  m_pMainFrame = nullptr;
  delete m_pDocument;
  m_pDocument = nullptr;
}

void CWEXApp::CreateTrio() {
  m_pDocument = new CWEXDoc;
  m_pMainFrame = new CMainFrame(m_pDocument);
  m_pMainFrame->Create();
}

bool CWEXApp::InitInstance(const QStringList& arguments, int& exitCode) {
  std::vector<std::string> args;
  for (const QString& arg : arguments.mid(1)) args.push_back(QFile::encodeName(arg).toStdString());
  const CommandLineInfo info = ParseCommandLine(args);
  exitCode = 0;

  if (info.action == CommandLineInfo::Action::Unregister) {
    // There is no shell registration to remove; only the message remains.
    if (!info.embedding) ShowMessageBox(nullptr, LoadString(IDS_UNREGISTERED), QString());
    return false;
  }

  CreateTrio();
  if (info.action == CommandLineInfo::Action::FileNew) {
    m_pDocument->OnNewDocument();
  } else {
    m_pDocument->OnNewDocument();
    if (!m_pDocument->OnOpenDocument(QFile::decodeName(info.fileName.c_str()))) {
      exitCode = 1;
      return false;
    }
    if (info.action != CommandLineInfo::Action::FileOpen) {
      exitCode = PrintAndEnd(info) ? 0 : 1;
      return false;
    }
  }
  m_pMainFrame->show();
  return true;
}

bool CWEXApp::PrintAndEnd(const CommandLineInfo& info) {
  QPrinter printer;
  if (info.action == CommandLineInfo::Action::FilePrintTo)
    printer.setPrinterName(QString::fromLocal8Bit(info.printerName.c_str()));
  if (!printer.isValid()) return false;
  m_pMainFrame->View()->Print(printer);
  return true;
}

void CWEXApp::OnFileNew() {
  if (m_pDocument->SaveModified()) m_pDocument->OnNewDocument();
}

void CWEXApp::OnFilePrintSetup() { m_pMainFrame->View()->PrintSetup(); }
