#include "measure/measure_fields.h"

#include "model/number_text.h"

#include <optional>

namespace korvix {
namespace {

struct FieldPlace {
    std::string_view objectName;
    std::string_view group;
    std::string_view label;
};

// The edits are numbered across the three pages in the order the form was laid out.
constexpr FieldPlace kAngleFields[] = {
    {"Edit1", "Point 1", "X"},
    {"Edit2", "Point 1", "Y"},
    {"Edit3", "Point 1", "Z"},
    {"Edit4", "Point 2", "X"},
    {"Edit5", "Point 2", "Y"},
    {"Edit6", "Point 2", "Z"},
    {"Edit7", "Point 3", "X"},
    {"Edit8", "Point 3", "Y"},
    {"Edit9", "Point 3", "Z"},
    {"Edit16", "", "3D-Angle:"},
    {"Edit10", "Resulting Plane Normal Vector", "I"},
    {"Edit11", "Resulting Plane Normal Vector", "J"},
    {"Edit12", "Resulting Plane Normal Vector", "K"},
    {"Edit13", "Resulting Plane Normal Angles", "X axis"},
    {"Edit14", "Resulting Plane Normal Angles", "Y axis"},
    {"Edit15", "Resulting Plane Normal Angles", "Z axis"},
    {"Edit17", "Resulting 2D Angles", "XY"},
    {"Edit18", "Resulting 2D Angles", "XZ"},
    {"Edit19", "Resulting 2D Angles", "YZ"},
};

constexpr FieldPlace kLineFields[] = {
    {"Edit20", "Point 1", "X"},           {"Edit21", "Point 1", "Y"},
    {"Edit22", "Point 1", "Z"},           {"Edit23", "Point 2", "X"},
    {"Edit24", "Point 2", "Y"},           {"Edit25", "Point 2", "Z"},
    {"Edit26", "Delta Values", "X"},      {"Edit27", "Delta Values", "Y"},
    {"Edit28", "Delta Values", "Z"},      {"Edit29", "", "3D-Distance:"},
    {"Edit30", "Resulting Vector", "I"},  {"Edit31", "Resulting Vector", "J"},
    {"Edit32", "Resulting Vector", "K"},  {"Edit33", "2D-Distances", "XY"},
    {"Edit34", "2D-Distances", "XZ"},     {"Edit35", "2D-Distances", "YZ"},
    {"Edit36", "Resulting Angles", "XY"}, {"Edit37", "Resulting Angles", "XZ"},
    {"Edit38", "Resulting Angles", "YZ"}, {"Edit39", "Mid Point", "X"},
    {"Edit40", "Mid Point", "Y"},         {"Edit41", "Mid Point", "Z"},
};

constexpr FieldPlace kArcFields[] = {
    {"Edit42", "Point 1", "X"},
    {"Edit43", "Point 1", "Y"},
    {"Edit44", "Point 1", "Z"},
    {"Edit45", "Point 2", "X"},
    {"Edit46", "Point 2", "Y"},
    {"Edit47", "Point 2", "Z"},
    {"Edit48", "Point 3", "X"},
    {"Edit49", "Point 3", "Y"},
    {"Edit50", "Point 3", "Z"},
    {"Edit53", "Resulting Center Point", "X"},
    {"Edit54", "Resulting Center Point", "Y"},
    {"Edit55", "Resulting Center Point", "Z"},
    {"Edit51", "", "Radius:"},
    {"Edit52", "", "Diameter:"},
    {"Edit56", "Resulting Plane Normal Vector", "I"},
    {"Edit57", "Resulting Plane Normal Vector", "J"},
    {"Edit58", "Resulting Plane Normal Vector", "K"},
};

std::string numberText(double value) {
    return fixed7(value, 5);
}

// Collects the texts of a page in field order.
class Texts {
public:
    void add(std::string text) { m_texts.push_back(std::move(text)); }
    void number(double value) { add(numberText(value)); }
    void maybe(const std::optional<double>& value) {
        add(value ? numberText(*value) : std::string(kErrorText));
    }
    void point(const Point3& p) {
        number(p.x);
        number(p.y);
        number(p.z);
    }
    void maybePoint(const std::optional<Point3>& p) {
        maybe(p ? std::optional(p->x) : std::nullopt);
        maybe(p ? std::optional(p->y) : std::nullopt);
        maybe(p ? std::optional(p->z) : std::nullopt);
    }
    // Three empty texts per slot that is not set.
    void slots(const MeasureSession& session, int count) {
        for (int i = 0; i < count; ++i) {
            const PickSlot& slot = session.slots[static_cast<std::size_t>(i)];
            if (slot.valid) {
                point(slot.effective);
            } else {
                for (int k = 0; k < 3; ++k)
                    add({});
            }
        }
    }

    std::vector<MeasureField> fields(std::span<const FieldPlace> places) {
        // Results left out (an incomplete page) show as empty fields.
        m_texts.resize(places.size());
        std::vector<MeasureField> out;
        out.reserve(places.size());
        for (std::size_t i = 0; i < places.size(); ++i)
            out.push_back(
                {places[i].objectName, places[i].group, places[i].label, std::move(m_texts[i])});
        return out;
    }

private:
    std::vector<std::string> m_texts;
};

void angleTexts(Texts& texts, const std::array<Point3, 3>& p) {
    const AngleMeasurement m = measureAngle(p[0], p[1], p[2]);
    texts.number(m.angle);
    texts.maybePoint(m.normal);
    if (m.normalAngles) {
        texts.number(m.normalAngles->fromX);
        texts.number(m.normalAngles->fromY);
        texts.number(m.normalAngles->fromZ);
    } else {
        texts.maybePoint(std::nullopt);
    }
    for (double a : m.planeAngles)
        texts.number(a);
}

void lineTexts(Texts& texts, const std::array<Point3, 3>& p) {
    const LineMeasurement m = measureLine(p[0], p[1]);
    texts.point(m.delta);
    texts.number(m.distance);
    texts.maybePoint(m.vector);
    for (const PlaneDelta& d : m.planes)
        texts.number(d.distance);
    for (const PlaneDelta& d : m.planes)
        texts.maybe(d.angle);
    texts.point(m.midPoint);
}

void arcTexts(Texts& texts, const std::array<Point3, 3>& p) {
    const std::optional<CircleMeasurement> c = circleThroughPoints(p[0], p[1], p[2]);
    texts.maybePoint(c ? std::optional(c->centre) : std::nullopt);
    texts.maybe(c ? std::optional(c->radius) : std::nullopt);
    texts.maybe(c ? std::optional(c->diameter) : std::nullopt);
    texts.maybePoint(c ? std::optional(c->normal) : std::nullopt);
}

} // namespace

std::vector<MeasureField> pageFields(const MeasureSession& session, MeasurePage page) {
    Texts texts;
    texts.slots(session, slotsUsed(page));
    const bool complete = pageComplete(session, page);
    const std::array<Point3, 3> points = effectivePoints(session);
    switch (page) {
    case MeasurePage::Angle:
        if (complete)
            angleTexts(texts, points);
        return texts.fields(kAngleFields);
    case MeasurePage::Line:
        if (complete)
            lineTexts(texts, points);
        return texts.fields(kLineFields);
    case MeasurePage::Arc:
        if (complete)
            arcTexts(texts, points);
        return texts.fields(kArcFields);
    }
    return {};
}

std::string fieldName(const MeasureField& field) {
    std::string_view label = field.label;
    if (!label.empty() && label.back() == ':')
        label.remove_suffix(1);
    std::string name(field.group);
    if (!name.empty() && !label.empty())
        name += ' ';
    name += label;
    return name;
}

std::string copyText(std::span<const MeasureField> fields) {
    std::string text;
    for (const MeasureField& field : fields) {
        if (field.text.empty())
            continue;
        text += fieldName(field);
        text += " = ";
        text += field.text;
        text += '\n';
    }
    return text;
}

} // namespace korvix
