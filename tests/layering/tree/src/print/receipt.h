// The print layer.
