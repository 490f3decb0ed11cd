// The database layer.
