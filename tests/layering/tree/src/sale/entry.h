// A rules header of the sale layer.
