#include "measure/ui/measure_command.h"

#include "measure/ui/measurement_form.h"

namespace korvix::ui {

void Measure1Click(Tf& window) {
    MeasurementForm::of(window).begin();
}

void endMeasurement(Tf& window) {
    MeasurementForm& form = MeasurementForm::of(window);
    if (form.measuring())
        form.end(false);
}

} // namespace korvix::ui
