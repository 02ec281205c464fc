namespace tarno { void LegacyPlaceholder() {} }
