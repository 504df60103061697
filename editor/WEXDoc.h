#pragma once
#include "framework/Document.h"

#include <string>

class CWEXView;

// The text document: how file bytes become the view's text and back.
class CWEXDoc : public CDocument {
  Q_OBJECT
 public:
  explicit CWEXDoc(QObject* parent = nullptr);

  void SetView(CWEXView* view);
  CWEXView* GetView() const { return m_pView; }

  bool IsModified() const override;
  void SetModifiedFlag(bool modified) override;
  QWidget* OwnerWindow() const override;

 protected:
  void DeleteContents() override;
  FileError Load(const QString& path) override;
  FileError Store(const QString& path) override;
  QString PromptSaveFileName() override;

 private:
  CWEXView* m_pView = nullptr;
  std::string m_settingsPath;
};
