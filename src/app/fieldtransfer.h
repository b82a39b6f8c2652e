#pragma once

#include "app/fieldvalues.h"

// The main window's two-way transfer between its controls and its stored values.
class FieldTransfer
{
public:
    virtual ~FieldTransfer() = default;

    // Copies the controls into the stored values and returns them.
    virtual FieldValues TakeFieldValues() = 0;

    // Replaces the stored values; the controls keep showing what they show.
    virtual void StoreFieldValues(const FieldValues& values) = 0;

    // Copies the stored values into the controls.
    virtual void ShowFieldValues() = 0;

    // The stored values as they are now, without a transfer.
    virtual FieldValues StoredFieldValues() const = 0;
};
