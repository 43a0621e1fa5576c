// Access to one settings file in the profile format: where it lies (beside the executable,
// in the system folder, or wherever its name says), integer values, and the placement of
// a window under a key prefix.
#pragma once

#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Properties.h"

class TForm;

enum TIniGTDefaultDir { ddApplication, ddWindows, ddNone };

// The profile-file object every read and write goes through: bound to one full path, with
// no cache and no open file of its own.
class TIniFile : public TObject {
 public:
  explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
  const std::string& FileName() const { return fileName_; }
  int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
  // Raises Exception "%s に書き込めません" with the full path when the platform refuses.
  void WriteInteger(const std::string& section, const std::string& key, int value) const;

 private:
  std::string fileName_;
};

class TIniGT : public TComponent {
 public:
  explicit TIniGT(TComponent* AOwner);
  ~TIniGT() override;

  TIniGTDefaultDir DefaultDir() const { return FDefaultDir; }
  void SetDefaultDir(TIniGTDefaultDir Value);
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& Value);
  // The full path every read and write uses.
  const std::string& Path() const { return FIniFile->FileName(); }

  int ReadInteger(const std::string& Section, const std::string& Key, int Default);
  void WriteInteger(const std::string& Section, const std::string& Key, int Value);
  void ReadWindowPos(const std::string& Section, const std::string& Prefix, TForm* Window);
  void WriteWindowPos(const std::string& Section, const std::string& Prefix, TForm* Window);

  static TPropertyTable& Properties();

 protected:
  void Loaded() override;

 private:
  std::unique_ptr<TIniFile> FIniFile;
  TIniGTDefaultDir FDefaultDir = ddApplication;
  std::string FFileName;
};
