// Not compiled: xgettext reads it, so that the manual page's short description (its NAME line,
// packaging/planewave3d.1) is in the catalogues. The build writes the page in each language
// with its translation (cmake/manual_page.cmake), and fails if this text and the page part.
translatable("animated stereoscopic view of a plane wave reflected and transmitted at an interface")
