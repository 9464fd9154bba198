#include "platform/common/DataItem.h"

#include <algorithm>
#include <utility>

CORLODataItem::CORLODataItem(std::wstring name, std::wstring qualifier, void* data, int mode)
    : name_(std::move(name)), qualifier_(std::move(qualifier)), data_(data), mode_(mode) {}

// A sent item belongs to the references held on it; only a posted item is deleted by
// its receiver, and the bus never posts.
void CORLODataItem::Delete() {}

void CORLODataItem::AddRef() { ++references_; }

void CORLODataItem::Done() { done_ = true; }

void CORLODataItem::Release() {
  if (--references_ == 0) delete this;
}

void CORLODataItem::SetResult(LRESULT result) { result_ = result; }

void CORLODataItem::NoteMatchedFlag(int flag) { matchedFlag_ = std::max(matchedFlag_, flag); }
