// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/typed_reading.h"

#include "core/model/field_type.h"
#include "core/model/regional.h"

#include <cmath>
#include <optional>

namespace kribed {

bool readsAsFieldType(QByteArrayView text, int typeIndex, const Regional &regional)
{
    if (text.isEmpty())
        return true;
    if (typeIndex == BooleanType)
        return text == "1" || text == "0";
    if (isDateType(typeIndex))
        return regional.readDate(text).has_value();
    if (isTimeType(typeIndex))
        return regional.readTime(text).has_value();
    if (isNumberType(typeIndex)) {
        const std::optional<long double> number = regional.readNumber(text);
        return number && std::isfinite(*number);
    }
    return true;
}

} // namespace kribed
