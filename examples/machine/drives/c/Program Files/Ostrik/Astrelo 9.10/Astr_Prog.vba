' Program marker of the product's folder.
