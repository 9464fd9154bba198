// IORLODataItem: one message of the host bus as one receiver sees it.
//
// The bus makes a fresh item per delivery and hands it to the receiving window as
// wParam of WM_DATAITEM. The receiver's dispatcher calls, in this order: AddRef; its
// handlers (which read GetName/GetQualifier/GetData); Done; SetResult; then Release, or
// Release followed by Delete when IsPosted answers true. The item stays valid until the
// receiver's Release (sent items: the bus keeps its own reference until the send returns
// and reads the result from it) or Delete (posted items, which the receiver owns).
#pragma once

#include "platform/win/WinTypes.h"

#include <string>

class IORLODataItem {
 public:
  virtual void Delete() = 0;
  virtual void AddRef() = 0;
  virtual void Done() = 0;
  virtual void Release() = 0;
  virtual void SetResult(LRESULT result) = 0;
  virtual bool IsPosted() const = 0;
  virtual const std::wstring& GetName() const = 0;
  virtual const std::wstring& GetQualifier() const = 0;
  virtual void* GetData() const = 0;

 protected:
  virtual ~IORLODataItem() = default;
};

class CORLODataItem final : public IORLODataItem {
 public:
  CORLODataItem(std::wstring name, std::wstring qualifier, void* data, int mode = 0);
  CORLODataItem(const CORLODataItem&) = delete;
  CORLODataItem& operator=(const CORLODataItem&) = delete;

  void Delete() override;
  void AddRef() override;
  void Done() override;
  void Release() override;
  void SetResult(LRESULT result) override;
  bool IsPosted() const override { return false; }
  const std::wstring& GetName() const override { return name_; }
  const std::wstring& GetQualifier() const override { return qualifier_; }
  void* GetData() const override { return data_; }

  // The mode an addressed send gave the receiver (IDataManager::SendTo's fourth argument,
  // 0 or -1); 0 for every other send.
  int Mode() const { return mode_; }
  LRESULT Result() const { return result_; }
  bool IsDone() const { return done_; }
  // -1 until a matching subscription entry is noted.
  int MatchedFlag() const { return matchedFlag_; }
  void NoteMatchedFlag(int flag);

 private:
  ~CORLODataItem() override = default;

  int references_ = 1;
  std::wstring name_;
  std::wstring qualifier_;
  void* data_;
  int mode_;
  LRESULT result_ = 0;
  bool done_ = false;
  int matchedFlag_ = -1;
};
