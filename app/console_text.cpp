#include "app/console_text.h"

const char* const credit_line =
    "planewave3d, by the planewave3d developers: see the project's README for more.\n";
const char* const introduction_line =
    "It is for interactive visualization of electromagnetic plane wave reflection and "
    "transmission on 3D TV.\n";
const char* const mode_failure_message =
    "Setting screen for 16:9 resolution failed. Please use compatible screen ...";
const char* const key_table[24] = {
    "\nPlease use mouse & keyboard functions as follows: (switch to '3D TV' window) \n",
    " mouse left \t: rotate view\n",
    " mouse right\t: zoom in / out\n",
    " l          \t: linear examples\n",
    " c          \t: circular examples\n",
    " e          \t: elliptical examples\n",
    " i          \t: increase incident angle theta_i\n",
    " ALT + i    \t: decrease incident angle theta_i\n",
    " x          \t: increase magnitude | Ex | of Ex = | Ex | exp(j*phi_x)\n",
    " ALT + x    \t: decrease magnitude | Ex | of Ex = | Ex | exp(j*phi_x)\n",
    " y          \t: increase magnitude | Ey | of Ey = | Ey | exp(j*phi_y)\n",
    " ALT + y    \t: decrease magnitude | Ey | of Ey = | Ey | exp(j*phi_y)\n",
    " b          \t: increase phase angle phi_x of Ex = | Ex | exp(j*phi_x)\n",
    " ALT + b    \t: decrease phase angle phy_x of Ex = | Ex | exp(j*phi_x)\n",
    " d          \t: increase phase angle phi_y of Ey = | Ey | exp(j*phi_y)\n",
    " ALT + d    \t: decrease phase angle phi_y of Ey = | Ey | exp(j*phi_y)\n",
    " arrow up   \t: move view up\n",
    " arrow down \t: move view down\n",
    " arrow left \t: move view left\n",
    " arrow right\t: move view right\n",
    " tab        \t: revert to original view\n",
    " | or \\    \t: show / hide interface tangential fields\n",
    " space bar  \t: pause / continue\n",
    " ESC        \t: quit\n",
};

const char* const more_keys[more_key_count] = {
    " v          \t: next view: sbs, mono, anaglyph, cross\n",
    " h          \t: show / hide the readout of the numbers\n",
    " g          \t: Fresnel curves: power, amplitude and phase, none\n",
    " m          \t: show / hide the magnetic field (eta1 H)\n",
    " p          \t: show / hide the time-averaged Poynting vectors\n",
    " 1 / ALT + 1\t: next / previous material of medium 1 (the lossless ones)\n",
    " 2 / ALT + 2\t: next / previous material of medium 2\n",
    " f / ALT + f\t: next / previous frequency: 1, 2, 5, 10, 20 kHz ... 1 PHz\n",
    " . / ,      \t: one time step on / back while paused\n",
    " w          \t: save the scenario to planewave3d-saved.toml\n",
    " s          \t: save the picture as a PNG\n",
    " r          \t: record one wave period as an animated GIF\n",
    " Page Down  \t: next scenario of the lesson (or of the examples)\n",
    " Page Up    \t: previous scenario of the lesson\n",
};
