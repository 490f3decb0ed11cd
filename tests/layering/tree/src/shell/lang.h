// The shell layer.
