#pragma once

// QV-Update's wizard over the simulated instrument at 9600 baud on virtual
// time, connected, with the confirmation answered as the command line
// answers it.
#include "bench_support.h"
#include "updater/headless_wizard_view.h"
#include "updater/update_connection.h"
#include "updater/update_wizard.h"

namespace bench {

struct WizardBench {
    // spiDisabled: the module's flash is not asked for (as with /NOSPI).
    explicit WizardBench(qv::sim::InstrumentOptions options, bool spiDisabled = false) : sim(options)
    {
        sim.port.close();
        view.onStartPage = [this] { wizard.ShowPage("START"); };
        io.spiDisabled = spiDisabled;
        connection.FormShow();
        connection.btnOpenClick();
        wizard.quiet = true;
    }

    static qv::UpdateConnectionSettings Settings()
    {
        qv::UpdateConnectionSettings settings;
        settings.simulator = true;
        return settings;
    }

    SimBench sim;
    qv::UpdateChannel channel{sim.port, qv::HostServices{sim.clock, sim.pump, sim.prompter}};
    qv::UpdateIdentity identity;
    qv::IoInterface io{channel, identity};
    qv::HeadlessWizardView view;
    qv::UpdateConnection connection{io, identity, view, Settings()};
    qv::UpdateWizard wizard{io, identity, connection, view};
};

} // namespace bench
