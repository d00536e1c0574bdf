// The grid's own hold on its HeaderObject: the object's link to the header is cut when the
// grid goes, however long a host keeps the object.
#pragma once

#include <memory>

#include "vexa/header/HeaderObject.h"

namespace vexa {

class HeaderObjectOwner {
  public:
    explicit HeaderObjectOwner(cHeaderControl& header);
    ~HeaderObjectOwner();
    HeaderObjectOwner(const HeaderObjectOwner&) = delete;
    HeaderObjectOwner& operator=(const HeaderObjectOwner&) = delete;

    HeaderObject& operator*() const { return *object_; }
    HeaderObject* operator->() const { return object_.get(); }
    const std::shared_ptr<HeaderObject>& Shared() const { return object_; }

  private:
    std::shared_ptr<HeaderObject> object_;
};

}  // namespace vexa
