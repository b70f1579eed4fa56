#include "EditAmount.h"

#include <algorithm>
#include <cstdlib>

#include "CDXEdit.h"

int EditAmount(const CDXEdit* edit)
{
    if (!edit)
        return 0;
    const long long value = std::strtoll(edit->GetTextBuffer(), nullptr, 10);
    return value < 0 ? 0 : static_cast<int>(std::min<long long>(value, 999999999));
}
