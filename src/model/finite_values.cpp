#include "model/finite_values.h"

#include <cmath>

namespace korvix {

const MoveRecord* firstNonFiniteRecord(const GraphicsDatabase& database) {
    for (const MoveRecord* r = database.first(); r != nullptr; r = r->next) {
        const float values[] = {r->x,       r->y,      r->z,          r->centerX, r->centerY,
                                r->centerZ, r->radius, r->startAngle, r->endAngle, r->feed};
        for (const float value : values)
            if (!std::isfinite(value))
                return r;
    }
    return nullptr;
}

std::string nonFiniteRecordMessage(const MoveRecord& record) {
    return "Block " + std::to_string(record.blockNumber) +
           " holds a value that is not a finite number, nothing was saved...";
}

} // namespace korvix
