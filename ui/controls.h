/* The common controls, version 6 where the manifest gets it. */
#ifndef SWEEPANE_CONTROLS_H
#define SWEEPANE_CONTROLS_H

/* Call before the dialog is created. */
void LoadCommonControls(void);

#endif
