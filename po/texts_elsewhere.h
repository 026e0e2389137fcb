// Not compiled: xgettext reads it, for the texts the catalogues need that no C++ source marks
// with tr() or translatable(). The build writes the manual page in each language with the
// first (cmake/manual_page.cmake), and fails if this text and the page's NAME line part.

// The manual page's short description (its NAME line, packaging/planewave3d.1).
translatable("animated stereoscopic view of a plane wave reflected and transmitted at an interface")

// The page's own texts (web/page.html): its landmarks, controls and what it speaks.
translatable("Scene")
translatable("Numbers")
translatable("Controls")
translatable("The plane wave at the interface, animated")
translatable("Hide controls")
translatable("Medium 1")
translatable("Medium 2")
translatable("Custom medium 2 (eps_r, mu_r, sigma)")
translatable("Angle theta_i")
translatable("Frequency")
translatable("View")
translatable("Readout")
translatable("Curves")
translatable("Tangential")
translatable("Pause")
translatable("Continue")
translatable("Step")
translatable("Snapshot")
translatable("Full screen")
translatable("Reset view")
translatable("Theme")
translatable("Palette")
translatable("Lesson")
translatable("Language")
translatable("numbers")
translatable("numbers: %s")
translatable("View: %s")
translatable("%s view")
translatable("theta_i %s degrees")
translatable("from %s into %s at %s")
translatable("Shown: %s.")
translatable("%s into %s")
translatable("past the %s angle, %s degrees")
translatable("back below the %s angle, %s degrees")
translatable("readout")
translatable("planewave3d: a plane wave reflected and transmitted at an interface")

// The models' names physics/materials.cpp gives that the readout translates (physics/ sees no
// catalogue); the other models are named for their sources, which stay as they are.
translatable("exact")
translatable("constant (Ulaby's tables)")
translatable("bulk conductivity")
