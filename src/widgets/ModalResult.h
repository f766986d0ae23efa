#pragma once

// Result of a dialog's modal run: OK ends it by intent, anything else
// (a rejection by the toolkit included) counts as cancel.
enum TModalResult : int { mrOk = 1, mrCancel = 2 };

constexpr TModalResult ModalResultOf(int dialogCode)
{
    return dialogCode == mrOk ? mrOk : mrCancel;
}
