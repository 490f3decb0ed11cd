// A rules header of the platform layer.
