#pragma once
// Base of the framework's serializable records: a virtual destructor, so an object array can
// own records of any kind, and a virtual Serialize for records that travel in an archive.
// Copying is left to the derived records; a plain CObject cannot be copied (no slicing).
#include "Arrays.h"

class CArchive;

class CObject {
public:
    virtual ~CObject() = default;
    virtual void Serialize(CArchive&) {}

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

// An array of records of any kind; it owns them and deletes them when removed or emptied.
using CObArray = CObjectArray<CObject>;
