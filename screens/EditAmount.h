#pragma once
// The amount a money dialog's digit edit holds.

class CDXEdit;

// The edit's decimal value; 0 when there is no edit or its text is not a number, capped at
// 999,999,999, far above any amount a dialog allows.
int EditAmount(const CDXEdit* edit);
